# SPDX-FileCopyrightText: 2026 The Rarudor Wallet launcher authors
# SPDX-License-Identifier: MIT
# Windows looks for a DLL that is not one of its KnownDLLs in the program's
# own folder first, and loads a program's imports before main() runs, so a
# DLL planted beside the launcher would run inside it. Every such DLL is
# delay-loaded instead: loaded on first use, after main() has restricted
# the search to System32.
#
# For each cmake/delayload/NAME.def, dlltool makes a delay-import library
# libNAME.a at configure time, under a find root that comes before the
# MinGW one, so that every find_library(NAME), Qt's own among them, takes it.
# Include before find_package(Qt5).
set(delayload_root ${PROJECT_BINARY_DIR}/delayload)
set(delayload_dir ${delayload_root}/usr/${MINGW_PREFIX}/lib)
file(MAKE_DIRECTORY ${delayload_dir})
find_program(DLLTOOL ${MINGW_PREFIX}-dlltool REQUIRED)
file(GLOB delayload_definitions ${CMAKE_CURRENT_LIST_DIR}/delayload/*.def)
foreach(definition ${delayload_definitions})
    get_filename_component(dll ${definition} NAME_WE)
    execute_process(
        COMMAND ${DLLTOOL} --input-def ${definition} --dllname ${dll}.dll
                --output-delaylib ${delayload_dir}/lib${dll}.a
        RESULT_VARIABLE failed
    )
    if(failed)
        message(FATAL_ERROR "dlltool could not make the delay-import library of ${dll}.dll")
    endif()
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${definition})
endforeach()
list(PREPEND CMAKE_FIND_ROOT_PATH ${delayload_root})
