# GoogleTest for a MinGW cross build, whose suites run under Wine.
#
# Debian ships GoogleTest as sources only for other targets, so it is built here with the
# cross compiler. Each suite is one Wine process: starting Wine again for every one of
# hundreds of cases would take minutes on two cores, and GoogleTest's own output still names
# each case that fails or is skipped.

set(VELMORA_GOOGLETEST_SOURCE_DIR "/usr/src/googletest"
    CACHE PATH "GoogleTest sources to build with the cross compiler")
if(NOT EXISTS "${VELMORA_GOOGLETEST_SOURCE_DIR}/CMakeLists.txt")
  message(FATAL_ERROR "No GoogleTest sources in ${VELMORA_GOOGLETEST_SOURCE_DIR} "
                      "(Debian package googletest)")
endif()

set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${VELMORA_GOOGLETEST_SOURCE_DIR} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
# Its code is not ours: our warning flags must not stop its build.
foreach(library gtest gtest_main gmock gmock_main)
  target_compile_options(${library} PRIVATE -w)
endforeach()

find_program(VELMORA_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(NOT VELMORA_WINE)
  message(STATUS "wine64 not found: the Windows test suites are built but not registered")
  function(gtest_discover_tests target)
  endfunction()
  return()
endif()

# Every Wine process of this tree shares one prefix, made once before the first suite runs;
# two suites starting on an empty prefix would both try to create it.
set(VELMORA_WINE_PREFIX "${CMAKE_BINARY_DIR}/wineprefix")
set(VELMORA_WINE_RUN "${CMAKE_BINARY_DIR}/wine-run")
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.sh.in ${VELMORA_WINE_RUN} @ONLY
               FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                WORLD_READ WORLD_EXECUTE)
add_test(NAME WinePrefix COMMAND ${VELMORA_WINE_RUN} wineboot --init)
set_tests_properties(WinePrefix PROPERTIES FIXTURES_SETUP wine_prefix TIMEOUT 120)

function(gtest_discover_tests target)
  add_test(NAME ${target} COMMAND ${VELMORA_WINE_RUN} $<TARGET_FILE:${target}>)
  set_tests_properties(${target} PROPERTIES FIXTURES_REQUIRED wine_prefix TIMEOUT 600)
endfunction()
