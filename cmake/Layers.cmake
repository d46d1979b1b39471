# The layout of the code. Each program folder is one library, and the README's layout table, the
# one map of the folders, says what each folder may use. This file reads the table, declares every
# library (zelpo_add_library) and, once the last folder is configured, holds the links of every
# target of the build, as CMake will make them, to the row of the folder that builds it. A link the
# table does not allow stops the configuration, naming the target, the link and the row.
#
# A folder that is one library has a row | `folder/` → `zelpo_folder` … | may use | … |, one that
# builds what goes with the program (the tests, the benchmark, the fuzz targets, the installation)
# a row | `folder/` → … | may use | … |. "May use" names folders of the rows above, "everything
# below" (the libraries of every row above) and outside libraries: "Qt Widgets" is Qt6::Widgets
# and the Qt modules it is built on, "CUPS" Cups::Cups, "xcb" libxcb. A target may also link the
# targets of its own folder and the outside libraries of the libraries it may use, all the way
# down; a test in tests/<folder> what the tests' row and <folder>/'s row allow and what <folder>/
# builds.

set(ZELPO_LAYOUT_TABLE ${PROJECT_SOURCE_DIR}/README.md)
set_property(DIRECTORY ${PROJECT_SOURCE_DIR} APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
    ${ZELPO_LAYOUT_TABLE})

# Sets ZELPO_FOLDERS (the rows' folders, in the table's order), ZELPO_LIBRARIES (the program's
# libraries) and, for each folder, ZELPO_LIBRARY_<folder> (its library, if it is one),
# ZELPO_USES_<folder> (the libraries and outside names it may use) and ZELPO_ROW_<folder> (its
# row, for messages).
macro(zelpo_read_layout_table)
    file(STRINGS ${ZELPO_LAYOUT_TABLE} _zelpo_lines ENCODING UTF-8 REGEX "^\\| `[a-z]+/`")
    set(ZELPO_FOLDERS)
    set(_zelpo_below)
    foreach(_zelpo_line IN LISTS _zelpo_lines)
        # A semicolon in a row's last cell splits it here; its first two cells come whole.
        if(NOT _zelpo_line MATCHES "^\\| `([a-z]+)/`( → `(zelpo_[a-z_]+)`)?[^|]*\\|([^|]*)\\|")
            continue()
        endif()
        set(_zelpo_folder ${CMAKE_MATCH_1})
        set(ZELPO_LIBRARY_${_zelpo_folder} ${CMAKE_MATCH_3})
        string(STRIP "${CMAKE_MATCH_4}" _zelpo_cell)
        set(ZELPO_ROW_${_zelpo_folder} "`${_zelpo_folder}/` may use ${_zelpo_cell}")
        if(CMAKE_MATCH_3 AND NOT CMAKE_MATCH_3 STREQUAL "zelpo_${_zelpo_folder}")
            message(FATAL_ERROR "The README's layout table names ${CMAKE_MATCH_3} for "
                "${_zelpo_folder}/: a folder's library is named after it, zelpo_${_zelpo_folder}.")
        endif()
        set(ZELPO_USES_${_zelpo_folder})
        string(REPLACE "," ";" _zelpo_items "${_zelpo_cell}")
        foreach(_zelpo_item IN LISTS _zelpo_items)
            string(STRIP "${_zelpo_item}" _zelpo_item)
            if(_zelpo_item STREQUAL "everything below")
                list(APPEND ZELPO_USES_${_zelpo_folder} ${_zelpo_below})
            elseif(ZELPO_LIBRARY_${_zelpo_item} AND _zelpo_item IN_LIST ZELPO_FOLDERS)
                list(APPEND ZELPO_USES_${_zelpo_folder} ${ZELPO_LIBRARY_${_zelpo_item}})
            elseif(_zelpo_item)
                list(APPEND ZELPO_USES_${_zelpo_folder} "${_zelpo_item}")
            endif()
        endforeach()
        list(APPEND ZELPO_FOLDERS ${_zelpo_folder})
        list(APPEND _zelpo_below ${ZELPO_LIBRARY_${_zelpo_folder}})
    endforeach()
    set(ZELPO_LIBRARIES ${_zelpo_below})
endmacro()
zelpo_read_layout_table()

# The folder whose row holds what is built in <directory>: its top folder, or tests/<folder>.
function(zelpo_folder_of out directory)
    file(RELATIVE_PATH relative ${PROJECT_SOURCE_DIR} ${directory})
    if(relative MATCHES "^(tests/[^/]+|[^./][^/]*)")
        set(${out} ${CMAKE_MATCH_1} PARENT_SCOPE)
    else()
        set(${out} "" PARENT_SCOPE)
    endif()
endfunction()

# zelpo_add_library(<name> [INTERFACE] SOURCES <files...> [PUBLIC <links...>] [PRIVATE <links...>])
# A static library (or one of headers and sources compiled into what links it, INTERFACE) linking
# PUBLIC what its own headers include and PRIVATE what only its sources use. A folder with a library
# of its own in the layout table declares that one and no other.
function(zelpo_add_library name)
    cmake_parse_arguments(PARSE_ARGV 1 ARG "INTERFACE" "" "SOURCES;PUBLIC;PRIVATE")
    zelpo_folder_of(folder ${CMAKE_CURRENT_SOURCE_DIR})
    if(NOT folder IN_LIST ZELPO_FOLDERS)
        message(FATAL_ERROR "${name} is declared in ${folder}/, which has no row in the README's "
                            "layout table (${ZELPO_LAYOUT_TABLE}).")
    elseif(ZELPO_LIBRARY_${folder} AND NOT name STREQUAL ZELPO_LIBRARY_${folder})
        message(FATAL_ERROR "${folder}/ declares ${name}, but builds one library, "
            "${ZELPO_LIBRARY_${folder}}, as its row of the README's layout table says.")
    endif()
    if(ARG_INTERFACE)
        add_library(${name} INTERFACE)
        target_sources(${name} INTERFACE ${ARG_SOURCES})
        target_link_libraries(${name} INTERFACE ${ARG_PUBLIC})
    else()
        add_library(${name} STATIC ${ARG_SOURCES})
        target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE ${ARG_PRIVATE})
    endif()
endfunction()

# The name an outside library goes by in the table, lower case: Qt6::Gui and Qt::Gui are "qt gui",
# Cups::Cups is "cups", /usr/lib/…/libxcb.so and -lxcb are "xcb".
function(zelpo_outside_name out link)
    if(link MATCHES "^Qt6?::(.+)$")
        set(name "qt ${CMAKE_MATCH_1}")
    elseif(link MATCHES "::(.+)$")
        set(name ${CMAKE_MATCH_1})
    elseif(link MATCHES "^-l(.+)$")
        set(name ${CMAKE_MATCH_1})
    elseif(link MATCHES "(^|/)lib([^/]+)\\.(so|a|dylib)[.0-9]*$")
        set(name ${CMAKE_MATCH_2})
    else()
        set(name ${link})
    endif()
    string(TOLOWER "${name}" name)
    set(${out} "${name}" PARENT_SCOPE)
endfunction()

# The targets and library files a link names, whatever its spelling: a generator expression is
# read for the targets and files inside it; CMake's directory markers and linker options name none.
function(zelpo_named_links out link)
    set(named)
    if(link MATCHES "\\$<")
        string(REGEX MATCHALL "[A-Za-z0-9_.+/-]+(::[A-Za-z0-9_.+-]+)*" words "${link}")
        foreach(word IN LISTS words)
            if(TARGET ${word} OR word MATCHES "/")
                list(APPEND named ${word})
            endif()
        endforeach()
    elseif(NOT link MATCHES "^::@" AND (NOT link MATCHES "^-" OR link MATCHES "^-l"))
        set(named ${link})
    endif()
    set(${out} ${named} PARENT_SCOPE)
endfunction()

# Every target of the build, folder by folder.
function(zelpo_targets_under out directory)
    get_property(targets DIRECTORY ${directory} PROPERTY BUILDSYSTEM_TARGETS)
    get_property(subdirectories DIRECTORY ${directory} PROPERTY SUBDIRECTORIES)
    foreach(subdirectory IN LISTS subdirectories)
        zelpo_targets_under(more ${subdirectory})
        list(APPEND targets ${more})
    endforeach()
    set(${out} ${targets} PARENT_SCOPE)
endfunction()

# Holds every target's links, as the build will make them, to the row of the folder that builds it,
# and every folder that is one library to that one. Runs once the last folder is configured.
function(zelpo_check_layers)
    zelpo_targets_under(targets ${PROJECT_SOURCE_DIR})
    foreach(target IN LISTS targets)
        get_target_property(directory ${target} SOURCE_DIR)
        zelpo_folder_of(folder_of_${target} ${directory})
        list(APPEND targets_in_${folder_of_${target}} ${target})
    endforeach()
    # The outside libraries each row allows, row by row down the table: those it names and the Qt
    # modules they are built on, and those of the rows of the libraries it may use.
    foreach(row IN LISTS ZELPO_FOLDERS)
        set(outside_${row})
        set(todo)
        foreach(use IN LISTS ZELPO_USES_${row})
            if(use IN_LIST ZELPO_LIBRARIES)
                string(REGEX REPLACE "^zelpo_" "" used ${use})
                list(APPEND outside_${row} ${outside_${used}})
            else()
                list(APPEND todo "${use}")
            endif()
        endforeach()
        while(todo)
            list(POP_FRONT todo use)
            zelpo_outside_name(name "${use}")
            if(NOT name IN_LIST outside_${row})
                list(APPEND outside_${row} "${name}")
                string(REGEX REPLACE "^Qt " "Qt6::" imported "${use}")
                if(TARGET "${imported}")
                    get_target_property(brought "${imported}" INTERFACE_LINK_LIBRARIES)
                    foreach(link IN LISTS brought)
                        zelpo_named_links(named "${link}")
                        list(APPEND todo ${named})
                    endforeach()
                endif()
            endif()
        endwhile()
    endforeach()
    set(offences)
    foreach(target IN LISTS targets)
        get_target_property(type ${target} TYPE)
        if(type STREQUAL "UTILITY")
            continue()
        endif()
        # A test in tests/<folder> takes the tests' row and its folder's together.
        set(folder ${folder_of_${target}})
        set(row "${folder}")
        set(rows ${folder})
        set(row_text "${ZELPO_ROW_${folder}}")
        if(folder MATCHES "^tests/(.+)$")
            set(row tests)
            set(rows tests ${CMAKE_MATCH_1})
            set(row_text "${ZELPO_ROW_tests}, and a test in ${folder}/ what ${CMAKE_MATCH_1}/ "
                         "builds and may use (${ZELPO_ROW_${CMAKE_MATCH_1}})")
        endif()
        if(NOT row IN_LIST ZELPO_FOLDERS)
            list(APPEND offences "${target} is built in the folder '${folder}', which has no row "
                                 "in the README's layout table")
            continue()
        elseif(ZELPO_LIBRARY_${folder} AND type MATCHES "LIBRARY$" AND
               NOT target STREQUAL ZELPO_LIBRARY_${folder})
            list(APPEND offences "${folder}/ builds ${target} besides ${ZELPO_LIBRARY_${folder}}, "
                                 "the one library its row of the README's layout table names")
        endif()
        # What it may link: what its rows name (the project's own libraries among it), the targets
        # built in their folders and the outside libraries worked out above.
        set(libraries)
        set(outside)
        foreach(row IN LISTS rows)
            list(APPEND libraries ${ZELPO_USES_${row}} ${targets_in_${row}})
            list(APPEND outside ${outside_${row}})
        endforeach()
        set(links)
        if(NOT type STREQUAL "INTERFACE_LIBRARY")
            get_target_property(links ${target} LINK_LIBRARIES)
        endif()
        get_target_property(interface_links ${target} INTERFACE_LINK_LIBRARIES)
        list(APPEND links ${interface_links})
        list(FILTER links EXCLUDE REGEX "-NOTFOUND$")
        list(REMOVE_DUPLICATES links)
        foreach(link IN LISTS links)
            zelpo_named_links(named "${link}")
            foreach(name IN LISTS named)
                set(imported TRUE)
                if(TARGET ${name})
                    get_target_property(aliased ${name} ALIASED_TARGET)
                    if(aliased)
                        set(name ${aliased})
                    endif()
                    get_target_property(imported ${name} IMPORTED)
                endif()
                if(imported)
                    zelpo_outside_name(outside_name "${name}")
                endif()
                if(imported AND NOT outside_name IN_LIST outside OR
                   NOT imported AND NOT name IN_LIST libraries)
                    list(APPEND offences "${target} (${folder}/) links ${name}, which the README's "
                                         "layout table does not let it use: ${row_text}")
                endif()
            endforeach()
        endforeach()
    endforeach()
    if(offences)
        list(REMOVE_DUPLICATES offences)
        list(JOIN offences "\n  " offences)
        message(FATAL_ERROR "The build does not keep to the README's layout table "
                            "(${ZELPO_LAYOUT_TABLE}):\n  ${offences}")
    endif()
endfunction()
cmake_language(DEFER CALL zelpo_check_layers)
