# Shared helpers for the project's targets: one library per source folder, one test
# executable per test folder, the same warnings everywhere.

function(nidora_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow=local)
  if(NIDORA_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# nidora_library(<folder> DEPENDS <targets...>): the folder's .cpp files become nidora_<folder>.
function(nidora_library folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  add_library(nidora_${folder} STATIC ${sources})
  target_include_directories(nidora_${folder} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(nidora_${folder} PUBLIC ${ARG_DEPENDS})
  nidora_warnings(nidora_${folder})
endfunction()

# nidora_tests(<folder> DEPENDS <targets...>): the folder's test files become <folder>_tests,
# registered with CTest test by test so failures are named.
function(nidora_tests folder)
  cmake_parse_arguments(ARG "" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${folder}_tests ${sources})
  target_link_libraries(${folder}_tests PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock nidora_test_support)
  nidora_warnings(${folder}_tests)
  gtest_discover_tests(${folder}_tests
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
