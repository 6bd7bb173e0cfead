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

# tuvela_add_fuzzer(NAME <name> SOURCES <files...> LIBS <targets...> SEEDS <dir>)
# A libFuzzer target (LLVMFuzzerTestOneInput) with its seed corpus in the tree.
# With TUVELA_FUZZ it is a real libFuzzer binary (the build lists it in
# fuzzers.txt for scripts/fuzz) whose test replays the seeds; otherwise it
# links a small driver that replays the seeds and a fixed number of
# pseudo-random and mutated inputs. Either way every build runs it as a test.
function(tuvela_add_fuzzer)
  cmake_parse_arguments(F "" "NAME;SEEDS" "SOURCES;LIBS" ${ARGN})
  if(NOT IS_DIRECTORY "${F_SEEDS}")
    message(FATAL_ERROR "${F_NAME}: seed folder '${F_SEEDS}' does not exist")
  endif()
  add_executable(${F_NAME} ${F_SOURCES})
  target_link_libraries(${F_NAME} PRIVATE ${F_LIBS})
  if(TUVELA_FUZZ)
    target_link_options(${F_NAME} PRIVATE -fsanitize=fuzzer)
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} -runs=0 ${F_SEEDS})
    set_property(GLOBAL APPEND PROPERTY TUVELA_FUZZERS "$<TARGET_FILE:${F_NAME}> ${F_SEEDS}")
    if(NOT TARGET fuzzers)
      add_custom_target(fuzzers)
    endif()
    add_dependencies(fuzzers ${F_NAME})
  else()
    target_sources(${F_NAME} PRIVATE ${CMAKE_SOURCE_DIR}/tests/fuzz_driver.cpp)
    add_test(NAME ${F_NAME} COMMAND ${F_NAME} ${F_SEEDS})
  endif()
  set_tests_properties(${F_NAME} PROPERTIES
    TIMEOUT 300
    ENVIRONMENT "QT_QPA_PLATFORM=offscreen;ASAN_OPTIONS=detect_leaks=0:abort_on_error=1;UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endfunction()

# Writes fuzzers.txt in the build folder: one fuzz executable and its seed
# folder a line, for scripts/fuzz. Called once, after every folder joined.
function(tuvela_write_fuzz_list)
  get_property(fuzzers GLOBAL PROPERTY TUVELA_FUZZERS)
  if(fuzzers)
    list(JOIN fuzzers "\n" lines)
    file(GENERATE OUTPUT ${CMAKE_BINARY_DIR}/fuzzers.txt CONTENT "${lines}\n")
  endif()
endfunction()

# tuvela_add_bench(NAME <name> SOURCES <files...> LIBS <targets...>)
function(tuvela_add_bench)
  cmake_parse_arguments(B "" "NAME" "SOURCES;LIBS" ${ARGN})
  add_executable(${B_NAME} ${B_SOURCES})
  target_link_libraries(${B_NAME} PRIVATE ${B_LIBS} benchmark::benchmark)
  target_include_directories(${B_NAME} PRIVATE ${PROJECT_SOURCE_DIR}/bench)
endfunction()

# tuvela_add_manpage(<program> <component> <summary>)
# The program's manual page, made at build time by help2man from the program's
# own --help and --version (so the two never drift), and installed with the
# program. Run without a display, which --help must not need. Without help2man
# the pages are left out, and the package check reports them missing.
find_program(HELP2MAN help2man)
if(NOT HELP2MAN)
  message(WARNING "Manual pages skipped: help2man not found (scripts/setup installs it)")
endif()
function(tuvela_add_manpage program component summary)
  if(NOT HELP2MAN)
    return()
  endif()
  set(page ${CMAKE_CURRENT_BINARY_DIR}/${program}.1)
  add_custom_command(OUTPUT ${page}.gz
    COMMAND ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY ASAN_OPTIONS=detect_leaks=0
            ${HELP2MAN} --no-info --section=1 --source=tuvela --name=${summary}
            --output=${page} $<TARGET_FILE:${program}>
    COMMAND gzip -9nf ${page}
    DEPENDS ${program}
    COMMENT "Writing the manual page of ${program}"
    VERBATIM)
  add_custom_target(${program}_manpage ALL DEPENDS ${page}.gz)
  install(FILES ${page}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1 COMPONENT ${component})
endfunction()

find_package(Threads REQUIRED)

# tuvela_install_desktop(<program>)
# The program's desktop entry and AppStream description (from desktop/ in the
# calling folder; the description's release is the project's version), in the
# program's own package.
function(tuvela_install_desktop program)
  set(id io.tuvela.${program})
  configure_file(${CMAKE_CURRENT_SOURCE_DIR}/desktop/${id}.metainfo.xml.in
    ${CMAKE_CURRENT_BINARY_DIR}/${id}.metainfo.xml @ONLY)
  install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/desktop/${id}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT ${program})
  install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${id}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT ${program})
endfunction()
