# The program's libraries, one per layer; a source file's folder decides its
# layer, so a new file lands in the right library by where it is put. Shared
# by the program's build and the fuzzing build (fuzz/). Set ZELBRIN_ROOT first.
#
#   core      general helpers (base/), records, file formats, JPEG, page and
#             mouse arithmetic, the command line and the resource tables; no Qt
#   platform  the framework classes on Qt; knows nothing of this program
#   render    drawing the page into any device context: screen, export, printer
#   ui        the program's windows, dialogs, commands and Qt resources
set(ZELBRIN_LAYERS core platform render ui)
set(ZELBRIN_core_FOLDERS base platform/win document imaging geometry cli res)
set(ZELBRIN_platform_FOLDERS platform/qt)
set(ZELBRIN_render_FOLDERS render)
set(ZELBRIN_ui_FOLDERS app view dialogs res/qt)
# The programs' own main files, in no library.
set(ZELBRIN_PROGRAM_MAINS app/main.cpp res/qt/icon_writer.cpp)

set(higher_folders)
foreach(layer IN LISTS ZELBRIN_LAYERS)
    list(APPEND higher_folders ${ZELBRIN_${layer}_FOLDERS})
endforeach()

foreach(layer IN LISTS ZELBRIN_LAYERS)
    set(ZELBRIN_${layer}_SOURCES)
    set(files)
    foreach(folder IN LISTS ZELBRIN_${layer}_FOLDERS)
        file(GLOB found CONFIGURE_DEPENDS RELATIVE ${ZELBRIN_ROOT}
            ${ZELBRIN_ROOT}/${folder}/*.cpp ${ZELBRIN_ROOT}/${folder}/*.h)
        list(APPEND files ${found})
        list(REMOVE_ITEM higher_folders ${folder})
    endforeach()
    # A layer includes only its own and lower layers, and the core no Qt.
    foreach(file IN LISTS files)
        file(STRINGS ${ZELBRIN_ROOT}/${file} includes REGEX "^#include")
        foreach(line IN LISTS includes)
            if(layer STREQUAL "core" AND line MATCHES "^#include <Q")
                message(FATAL_ERROR "${file}: the Qt-free core includes Qt (${line})")
            endif()
            foreach(folder IN LISTS higher_folders)
                if(line MATCHES "^#include \"${folder}/[^/]+\"")
                    message(FATAL_ERROR "${file} (${layer}) includes a higher layer: ${line}")
                endif()
            endforeach()
        endforeach()
        if(file MATCHES "\\.cpp$" AND NOT file IN_LIST ZELBRIN_PROGRAM_MAINS)
            list(APPEND ZELBRIN_${layer}_SOURCES ${file})
        endif()
    endforeach()
endforeach()

# Every source file of the program is in a layer's folder.
file(GLOB_RECURSE all_sources CONFIGURE_DEPENDS RELATIVE ${ZELBRIN_ROOT}
    ${ZELBRIN_ROOT}/app/*.cpp ${ZELBRIN_ROOT}/base/*.cpp ${ZELBRIN_ROOT}/cli/*.cpp ${ZELBRIN_ROOT}/dialogs/*.cpp
    ${ZELBRIN_ROOT}/document/*.cpp ${ZELBRIN_ROOT}/geometry/*.cpp ${ZELBRIN_ROOT}/imaging/*.cpp
    ${ZELBRIN_ROOT}/platform/*.cpp ${ZELBRIN_ROOT}/render/*.cpp ${ZELBRIN_ROOT}/res/*.cpp
    ${ZELBRIN_ROOT}/view/*.cpp)
foreach(src IN LISTS all_sources)
    set(placed FALSE)
    foreach(layer IN LISTS ZELBRIN_LAYERS)
        if(src IN_LIST ZELBRIN_${layer}_SOURCES)
            set(placed TRUE)
        endif()
    endforeach()
    if(NOT placed AND NOT src IN_LIST ZELBRIN_PROGRAM_MAINS)
        message(FATAL_ERROR "${src} lies in no layer's folder")
    endif()
endforeach()
