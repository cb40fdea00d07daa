# SPDX-License-Identifier: GPL-3.0-or-later
# Sample discs and a private sound server's playback, shared by the tests and
# the benchmark; it needs no test framework, so a build without the tests
# still builds the benchmark.
include_guard(GLOBAL)
find_package(PkgConfig REQUIRED)
pkg_check_modules(SndFile REQUIRED IMPORTED_TARGET GLOBAL sndfile)

add_library(cdaudio_disc_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/DemoSet.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestDisc.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ServerPlayback.cpp
)
target_include_directories(cdaudio_disc_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(cdaudio_disc_support PUBLIC avek_cdaudio Qt6::Test PkgConfig::SndFile)
# The demonstration set is made by the tool itself, one process per set.
target_compile_definitions(cdaudio_disc_support PRIVATE AVEKTOOL_PATH="$<TARGET_FILE:avektool>")
