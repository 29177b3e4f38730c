# Builds the .deb with CPack, unpacks it with dpkg -x into a scratch root
# and checks what it holds.
function(run)
    execute_process(COMMAND ${ARGN} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
    if(NOT status EQUAL 0)
        message(FATAL_ERROR "${ARGN} failed (${status}):\n${out}\n${err}")
    endif()
    set(out "${out}" PARENT_SCOPE)
endfunction()

run(cpack -G DEB --config ${BUILD_DIR}/CPackConfig.cmake -B ${BUILD_DIR}/package)
file(GLOB debs ${BUILD_DIR}/package/velmora_*.deb)
list(LENGTH debs count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one .deb, found: ${debs}")
endif()

run(dpkg-deb --field ${debs} Depends)
foreach(dependency libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk
                   libstdc\\+\\+6)
    if(NOT out MATCHES "${dependency}")
        message(FATAL_ERROR "Depends lacks ${dependency}: ${out}")
    endif()
endforeach()

file(REMOVE_RECURSE ${SCRATCH})
run(dpkg -x ${debs} ${SCRATCH})
set(id io.velmora.Velmora)
set(expected usr/bin/velmora usr/share/applications/${id}.desktop usr/share/metainfo/${id}.metainfo.xml
             usr/share/icons/hicolor/scalable/apps/${id}.svg usr/share/doc/velmora/copyright
             usr/share/doc/velmora/changelog.gz usr/share/man/man1/velmora.1.gz
             usr/share/man/zh_CN/man1/velmora.1.gz)
foreach(path ${expected})
    if(NOT EXISTS ${SCRATCH}/${path})
        message(FATAL_ERROR "the package lacks ${path}")
    endif()
endforeach()
file(GLOB_RECURSE installed RELATIVE ${SCRATCH} ${SCRATCH}/*)
list(SORT installed)
list(SORT expected)
if(NOT installed STREQUAL expected)
    message(FATAL_ERROR "the package holds other files than expected: ${installed}")
endif()

run(desktop-file-validate ${SCRATCH}/usr/share/applications/${id}.desktop)
run(appstreamcli validate --no-net ${SCRATCH}/usr/share/metainfo/${id}.metainfo.xml)
run(rsvg-convert -w 64 ${SCRATCH}/usr/share/icons/hicolor/scalable/apps/${id}.svg -o ${SCRATCH}/icon.png)
run(ldd ${SCRATCH}/usr/bin/velmora)
if(out MATCHES "not found")
    message(FATAL_ERROR "the program lacks libraries:\n${out}")
endif()

# Debian's own checker: no error and no warning.
run(lintian --fail-on error,warning ${debs})
foreach(manual usr/share/man/man1/velmora.1.gz usr/share/man/zh_CN/man1/velmora.1.gz)
    execute_process(COMMAND man --warnings -E UTF-8 -l ${SCRATCH}/${manual}
                    RESULT_VARIABLE status OUTPUT_QUIET ERROR_VARIABLE warnings)
    if(NOT status EQUAL 0 OR NOT warnings STREQUAL "")
        message(FATAL_ERROR "${manual} does not render cleanly (${status}):\n${warnings}")
    endif()
endforeach()
