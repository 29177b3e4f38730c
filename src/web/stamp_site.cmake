# Writes the service worker of a built site: its offline copy lists every
# file of the site and is named after a digest of them all, so that a change
# to any file (the page, the module, the help, the icons) is a new release
# that reaches returning visitors.
#   cmake -DSITE=dir -DTEMPLATE=sw.js -P stamp_site.cmake
file(GLOB files RELATIVE ${SITE} ${SITE}/*)
list(REMOVE_ITEM files sw.js)
list(SORT files)
file(SHA256 ${TEMPLATE} digest)
set(names "'./'")
foreach(name ${files})
    file(SHA256 ${SITE}/${name} file_digest)
    string(SHA256 digest "${digest} ${name} ${file_digest}")
    string(APPEND names ", '${name}'")
endforeach()
string(SUBSTRING "${digest}" 0 16 VELMORA_SITE_VERSION)
set(VELMORA_SITE_FILES "${names}")
configure_file(${TEMPLATE} ${SITE}/sw.js @ONLY)
