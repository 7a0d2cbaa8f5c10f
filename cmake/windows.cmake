# Cross build: the two deliverables, the Windows-side test helpers and the Wine tests.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)

set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${CMAKE_SOURCE_DIR}")
add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0600 STRICT)
add_compile_options(-Wall -Wextra)
# Nothing but system DLLs at run time: the compiler's own libraries go in statically.
add_link_options(-static -static-libgcc -static-libstdc++)
# The same sources give the same bytes: no checkout path and no link time in the images.
add_compile_options(-ffile-prefix-map=${CMAKE_SOURCE_DIR}/=)
add_link_options(-Wl,--no-insert-timestamp)

set(win_libs user32 gdi32 shell32 comctl32 comdlg32 psapi advapi32 ole32 winmm kernel32)

# What both deliverables call on the platform.
file(GLOB platform_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/platform/*.cpp)
add_library(quor_platform STATIC ${platform_sources})
target_include_directories(quor_platform PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_options(quor_platform PRIVATE -fno-exceptions)
target_link_libraries(quor_platform PUBLIC ${win_libs})

# The hook library's code, shared by the DLL and by the white-box tests.
file(GLOB_RECURSE hooklib_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/hooklib/*.cpp)
list(FILTER hooklib_sources EXCLUDE REGEX "hooklib/core/(library_app|exports|hook_install)\\.cpp$")
add_library(quordll_core STATIC ${hooklib_sources})
target_include_directories(quordll_core PUBLIC ${CMAKE_SOURCE_DIR})
target_compile_definitions(quordll_core PUBLIC QUORDLL_BUILD)
target_compile_options(quordll_core PRIVATE -fno-exceptions)
target_link_libraries(quordll_core PUBLIC quor_platform ${win_libs})

add_library(Quordll SHARED
  hooklib/core/library_app.cpp
  hooklib/core/exports.cpp
  hooklib/core/hook_install.cpp
  hooklib/quordll.def
  hooklib/resources/quordll.rc)
set_target_properties(Quordll PROPERTIES PREFIX "" OUTPUT_NAME Quordll IMPORT_PREFIX "" IMPORT_SUFFIX ".lib")
target_compile_options(Quordll PRIVATE -fno-exceptions)
target_link_libraries(Quordll PRIVATE quordll_core)

# The resident program's code, shared by the program and its white-box tests.
file(GLOB_RECURSE app_sources CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/app/*.cpp)
list(FILTER app_sources EXCLUDE REGEX "app/resident/main\\.cpp$")
# The code-page-safe cut is platform-free code of the library's that the program uses too.
add_library(quor_app STATIC ${app_sources} ${CMAKE_SOURCE_DIR}/hooklib/window/tray_tip.cpp)
target_include_directories(quor_app PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(quor_app PUBLIC Quordll quor_platform ${win_libs})

add_executable(Quorvelle WIN32
  app/resident/main.cpp
  app/resources/quorvelle.rc)
target_include_directories(Quorvelle PRIVATE ${CMAKE_SOURCE_DIR})
target_link_libraries(Quorvelle PRIVATE quor_app Quordll quor_platform ${win_libs})
# The deliverables ship without their debug information.
target_link_options(Quordll PRIVATE -s)
target_link_options(Quorvelle PRIVATE -s)

add_subdirectory(tests/wine)
add_subdirectory(bench/wine)
