# Native (Linux) tier: the portable core, its unit tests, fuzzers and benchmarks.
if(KEYTIDE_SANITIZE)
  set(KEYTIDE_SAN_FLAGS -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all)
  target_compile_options(keytide_core PUBLIC ${KEYTIDE_SAN_FLAGS})
  target_link_options(keytide_core PUBLIC ${KEYTIDE_SAN_FLAGS})
endif()

enable_testing()
find_package(GTest REQUIRED)
include(GoogleTest)

file(GLOB KEYTIDE_UNIT_TESTS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/unit/*.cpp)
file(GLOB KEYTIDE_TEST_DOUBLES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/doubles/*.cpp)
add_executable(keytide_unit_tests ${KEYTIDE_UNIT_TESTS} ${KEYTIDE_TEST_DOUBLES})
target_include_directories(keytide_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tests)
target_link_libraries(keytide_unit_tests PRIVATE keytide_core GTest::gtest GTest::gtest_main GTest::gmock)
target_compile_options(keytide_unit_tests PRIVATE ${KEYTIDE_WARNINGS})
# GoogleTest's headers are most of every test file's compile time.
target_precompile_headers(keytide_unit_tests PRIVATE <gmock/gmock.h> <gtest/gtest.h> <functional> <map> <optional>
                          <string> <vector>)
# The icon generator's drawing and .ico writer are tested with the rest.
include(cmake/trayicons.cmake)
target_sources(keytide_unit_tests PRIVATE ${KEYTIDE_TRAYICONS_DRAWING_SOURCES})
target_include_directories(keytide_unit_tests PRIVATE ${CMAKE_SOURCE_DIR}/tools)
gtest_discover_tests(keytide_unit_tests DISCOVERY_TIMEOUT 60)

if(KEYTIDE_FUZZ)
  # The fuzz targets take only the INI engine, not the whole portable core.
  file(GLOB KEYTIDE_FUZZERS CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/fuzz/*.cpp)
  file(GLOB KEYTIDE_INI_SOURCES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/src/settings/ini/*.cpp)
  foreach(fuzzer_source ${KEYTIDE_FUZZERS})
    get_filename_component(fuzzer_name ${fuzzer_source} NAME_WE)
    add_executable(${fuzzer_name} ${fuzzer_source} ${KEYTIDE_INI_SOURCES})
    target_include_directories(${fuzzer_name} PRIVATE ${CMAKE_SOURCE_DIR}/src)
    target_compile_options(${fuzzer_name} PRIVATE -fsanitize=fuzzer,address,undefined ${KEYTIDE_WARNINGS})
    target_link_options(${fuzzer_name} PRIVATE -fsanitize=fuzzer,address,undefined)
  endforeach()
endif()

find_package(benchmark QUIET)
file(GLOB KEYTIDE_NATIVE_BENCHES CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tests/bench/native/*.cpp)
if(benchmark_FOUND AND KEYTIDE_NATIVE_BENCHES)
  add_executable(keytide_native_bench ${KEYTIDE_NATIVE_BENCHES})
  target_link_libraries(keytide_native_bench PRIVATE keytide_core benchmark::benchmark_main)
endif()
