# Native build: the platform-free code with its unit tests under the sanitizers,
# plus the Windows deliverables cross-built as a sub-build whose tests join ours.
include(ExternalProject)
find_package(GTest REQUIRED)
include(GoogleTest)

set(sanitizers -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
# Line tables are all a sanitizer's report needs, at a fraction of full debug information's cost.
set(native_debug -g1)

add_library(quor_pure STATIC ${QUOR_PURE_SOURCES})
target_include_directories(quor_pure PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(quor_pure PRIVATE -Wall -Wextra -Werror ${sanitizers} ${native_debug})
target_link_options(quor_pure PUBLIC ${sanitizers})

file(GLOB native_tests CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/native/*.cpp)
add_executable(quor_native_tests ${native_tests})
# The tests' own code at -O1, as the sanitizers' makers advise; the code under test keeps -O2.
target_compile_options(quor_native_tests PRIVATE -Wall -Wextra ${sanitizers} ${native_debug} -O1)
target_link_libraries(quor_native_tests PRIVATE quor_pure GTest::gtest GTest::gtest_main)
# Every test source parses GoogleTest's header; once is enough.
target_precompile_headers(quor_native_tests PRIVATE <gtest/gtest.h> <string> <vector>)
gtest_discover_tests(quor_native_tests TEST_PREFIX "native.")

# Benchmarks of the platform-free code (figures printed, nothing asserted).
file(GLOB native_bench CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/bench/native/*.cpp)
if(native_bench)
  add_executable(quor_native_bench ${native_bench})
  target_compile_options(quor_native_bench PRIVATE -O2 -Wall -Wextra)
  target_include_directories(quor_native_bench PRIVATE ${CMAKE_SOURCE_DIR})
  target_sources(quor_native_bench PRIVATE ${QUOR_PURE_SOURCES})
endif()

set(windows_dir ${CMAKE_BINARY_DIR}/windows)
ExternalProject_Add(windows
  SOURCE_DIR ${CMAKE_SOURCE_DIR}
  BINARY_DIR ${windows_dir}
  CMAKE_ARGS
    -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64.cmake
    -DCMAKE_BUILD_TYPE=${CMAKE_BUILD_TYPE}
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  USES_TERMINAL_BUILD ON)

# One ctest run covers both builds: the cross build's test list is read from its own tree.
file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "subdirs(\"${windows_dir}\")\n")
set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
