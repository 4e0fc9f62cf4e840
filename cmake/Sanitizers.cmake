# The sanitizer build: every target of the project (libraries, programs, tests,
# fuzz targets) compiled and linked with AddressSanitizer and
# UndefinedBehaviorSanitizer. Undefined behaviour stops the program at the
# first report, so a test or a fuzz run cannot pass over one.
#
# With DAP_BUILD_FUZZ the same tree also carries the fuzzer's coverage
# instrumentation: the tests still link without libFuzzer (the sanitizer
# runtime supplies the coverage hooks), so one build serves both the test
# suite and the fuzz targets.
if(DAP_BUILD_FUZZ)
    set(DAP_SANITIZE ON)
    if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
        message(FATAL_ERROR "The fuzz targets need clang's libFuzzer: "
                            "configure with -DCMAKE_CXX_COMPILER=clang++")
    endif()
endif()

if(DAP_SANITIZE)
    target_compile_options(dap_common INTERFACE
        -fsanitize=address,undefined
        -fno-sanitize-recover=undefined
        -fno-omit-frame-pointer)
    target_link_options(dap_common INTERFACE -fsanitize=address,undefined)
    if(DAP_BUILD_FUZZ)
        target_compile_options(dap_common INTERFACE -fsanitize=fuzzer-no-link)
    endif()
endif()

if(DAP_SANITIZE)
    # Qt's own leaks at exit are suppressed in every program by default.
    set(supp ${CMAKE_SOURCE_DIR}/fuzz/lsan.supp)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${supp})
    file(READ ${supp} DAP_LSAN_SUPPRESSIONS)
    configure_file(${CMAKE_SOURCE_DIR}/cmake/sanitizerdefaults.cpp.in
                   ${CMAKE_BINARY_DIR}/sanitizerdefaults.cpp @ONLY)
    target_sources(dap_common INTERFACE
        "$<$<STREQUAL:$<TARGET_PROPERTY:TYPE>,EXECUTABLE>:${CMAKE_BINARY_DIR}/sanitizerdefaults.cpp>")
endif()
