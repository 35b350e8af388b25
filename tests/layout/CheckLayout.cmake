# Checks that every folder of src/ uses only the folders below it: by its #include lines and by
# the libraries its CMake target links. Run as a test:
#   cmake -DSOURCE_DIR=<repo>/src -DLINKS=<generated file> -P CheckLayout.cmake
cmake_minimum_required(VERSION 3.25)

# Folder -> the folders it may include from (besides its own) and its library's name.
set(below_records "")
set(below_calc records)
set(below_reports "")
set(below_resources "")
# Backups: the core and libarchive, below the program's start and vitalog-cli.
set(below_backup records calc)
set(below_platform resources)
set(below_controls platform resources)
set(below_help controls platform resources)
set(below_shell backup help controls platform resources records calc)
set(below_printing backup shell help controls platform resources records calc reports)
set(below_graphs backup printing shell help controls platform resources records calc reports)
set(below_history backup printing shell help controls platform resources records calc reports)
set(below_pictures backup printing shell help controls platform resources records calc reports)
set(below_screens backup cli pictures history graphs printing shell help controls platform
    resources records calc reports)
# help/ only for the vendor's address in the export footer (a header of constants).
set(below_cli backup records calc platform resources reports history help)
set(folders records calc reports backup resources platform controls help shell printing graphs history
    pictures cli screens)
set(library_records vitalog_core)
set(library_calc vitalog_core)

set(all_vitalog_libraries vitalog_core vitalog_reports vitalog_backup vitalog_resources vitalog_platform
    vitalog_controls vitalog_help vitalog_shell vitalog_printing vitalog_graphs vitalog_history
    vitalog_pictures vitalog_screens vitalog_cli)

set(failures "")

file(GLOB present LIST_DIRECTORIES true RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
foreach(entry IN LISTS present)
    if(IS_DIRECTORY ${SOURCE_DIR}/${entry} AND NOT entry IN_LIST folders)
        list(APPEND failures "src/${entry}/ has no place in the layout table")
    endif()
endforeach()

foreach(folder IN LISTS folders)
    file(GLOB_RECURSE sources RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/${folder}/*.h
         ${SOURCE_DIR}/${folder}/*.cpp)
    foreach(source IN LISTS sources)
        file(STRINGS ${SOURCE_DIR}/${source} includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
        foreach(line IN LISTS includes)
            string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
            if(NOT included MATCHES "/")
                continue() # same folder
            endif()
            string(REGEX REPLACE "/.*$" "" from "${included}")
            if(NOT from STREQUAL folder AND NOT from IN_LIST below_${folder})
                list(APPEND failures "src/${source} includes ${included} from above its folder")
            endif()
        endforeach()
    endforeach()
endforeach()

# The libraries each target links, written at configure time.
include(${LINKS})
foreach(folder IN LISTS folders)
    if(DEFINED library_${folder})
        continue() # the core is checked below
    endif()
    set(allowed "")
    foreach(lower IN LISTS below_${folder})
        if(DEFINED library_${lower})
            list(APPEND allowed ${library_${lower}})
        else()
            list(APPEND allowed vitalog_${lower})
        endif()
    endforeach()
    foreach(linked IN LISTS links_vitalog_${folder})
        if(linked IN_LIST all_vitalog_libraries AND NOT linked IN_LIST allowed)
            list(APPEND failures "vitalog_${folder} links ${linked}, which is not below it")
        endif()
    endforeach()
endforeach()
# The core may link the report documents' library, which is standard library only too: the
# history exports are written through its RTF writer without any of the Qt side. std::thread
# needs the platform's thread library; that is still the standard library.
# A link made from another folder's CMakeLists.txt comes wrapped in "::@(...)" ... "::@" markers.
set(core_links ${links_vitalog_core})
list(FILTER core_links EXCLUDE REGEX "^::@")
list(REMOVE_ITEM core_links vitalog_reports Threads::Threads)
if(NOT core_links STREQUAL "")
    list(APPEND failures "the core links ${core_links}; it may use the standard library only")
endif()
foreach(linked IN LISTS links_vitalog_resources links_vitalog_platform)
    if(linked IN_LIST all_vitalog_libraries AND NOT linked STREQUAL "vitalog_resources")
        list(APPEND failures "the platform layer links ${linked}")
    endif()
endforeach()

if(failures)
    list(JOIN failures "\n" text)
    message(FATAL_ERROR "${text}")
endif()
message(STATUS "Every folder uses only the folders below it.")
