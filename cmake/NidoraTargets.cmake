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

# nidora_tests(<folder> DEPENDS <targets...> [WITHOUT_WIDGETS]): the folder's test files become
# <folder>_tests, registered with CTest test by test so failures are named. WITHOUT_WIDGETS runs
# them on a QCoreApplication and links no window library, for the widget-free folders.
function(nidora_tests folder)
  cmake_parse_arguments(ARG "WITHOUT_WIDGETS" "" "DEPENDS" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*.h)
  if(NOT sources)
    return()
  endif()
  add_executable(${folder}_tests ${sources})
  if(ARG_WITHOUT_WIDGETS)
    target_link_libraries(${folder}_tests PRIVATE nidora_test_main_core nidora_test_support)
  else()
    target_link_libraries(${folder}_tests PRIVATE nidora_test_main_windows nidora_test_driver)
  endif()
  target_link_libraries(${folder}_tests PRIVATE ${ARG_DEPENDS} GTest::gtest GTest::gmock)
  nidora_warnings(${folder}_tests)
  gtest_discover_tests(${folder}_tests
    DISCOVERY_TIMEOUT 60
    PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen")
endfunction()
