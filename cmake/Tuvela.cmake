# Helpers shared by the project's folders.

# tuvela_add_test(NAME <name> SOURCES <files...> LIBS <targets...> [TIMEOUT <s>])
# One GoogleTest executable, run by CTest with the offscreen Qt platform.
function(tuvela_add_test)
  cmake_parse_arguments(T "" "NAME;TIMEOUT" "SOURCES;LIBS" ${ARGN})
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 300)
  endif()
  find_package(GTest REQUIRED)
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock Threads::Threads)
  target_compile_definitions(${T_NAME} PRIVATE
    TUVELA_TEST_DATA="${CMAKE_SOURCE_DIR}/tests/data"
    TUVELA_BINARY_DIR="${CMAKE_BINARY_DIR}")
  add_test(NAME ${T_NAME} COMMAND ${T_NAME})
  set_tests_properties(${T_NAME} PROPERTIES
    TIMEOUT ${T_TIMEOUT}
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;QT_QUICK_BACKEND=software;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# tuvela_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...> [SEEDS <dir>])
# A libFuzzer target (LLVMFuzzerTestOneInput). With clang and TUVELA_FUZZ it is
# a real libFuzzer binary; otherwise it links a small driver that replays the
# seed folder and a fixed number of pseudo-random and mutated inputs, and runs
# as an ordinary test so every build exercises it.
function(tuvela_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;SEEDS" "SOURCES;LIBS" ${ARGN})
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  if(TUVELA_FUZZ AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
  else()
    target_sources(${F_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz_driver.cpp)
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} ${F_SEEDS})
    set_tests_properties(${F_NAME} PROPERTIES
      TIMEOUT 300
      ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
  endif()
endfunction()

# tuvela_add_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
function(tuvela_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
endfunction()

find_package(Threads REQUIRED)
