# The worked example's data (tests/worked_example.json) as a C++ header for
# the C++ suites; the web suites read the JSON itself.
file(READ ${CMAKE_CURRENT_LIST_DIR}/worked_example.json worked)
set(pairs_code "")
foreach(list panel results)
    string(JSON count LENGTH "${worked}" ${list})
    math(EXPR last "${count} - 1")
    set(code "")
    foreach(i RANGE ${last})
        string(JSON name GET "${worked}" ${list} ${i} 0)
        string(JSON value GET "${worked}" ${list} ${i} 1)
        string(APPEND code "    {\"${name}\", \"${value}\"},\n")
    endforeach()
    set(${list}_code "${code}")
endforeach()
string(JSON discipline GET "${worked}" discipline)
file(WRITE ${CMAKE_CURRENT_BINARY_DIR}/workedexample.h
"// Written by tests/workedexample.cmake from tests/worked_example.json.
#pragma once

#include <string_view>
#include <utility>

namespace velmora::testing {

inline constexpr std::string_view kWorkedDiscipline = \"${discipline}\";
inline constexpr std::pair<std::string_view, std::string_view> kWorkedPanel[] = {
${panel_code}};
inline constexpr std::pair<std::string_view, std::string_view> kWorkedResults[] = {
${results_code}};

} // namespace velmora::testing
")
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/worked_example.json)
