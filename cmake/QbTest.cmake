# The test programs: each is one QtTest program, registered with CTest and
# run offscreen (qb_add_test below). Tests find the built programs and language
# libraries through QB_BIN_DIR, the language libraries built for tests only
# through QB_TEST_LANG_DIR and their fixtures through QB_TEST_DATA; a test
# that needs a program folder of its own (settings file, language libraries)
# makes a temporary one (tests/testsupport.h).

# What every test runs with; a sanitizer build adds its runtime options. The
# suite needs no leak suppressions: offscreen, Qt frees what it allocates
# for a test, and Qt's objects that live to the end are still reachable.
# The leak checker does not follow the thread-local blocks of libraries
# loaded at run time (libjpeg through Qt's image plugin): this runtime
# misjudges their size on current glibc and crashes while scanning at exit.
# glibc allocates those blocks on the heap and keeps them reachable from the
# thread's own area, so nothing is lost by not tracking them.
set(QB_TEST_ENV "QT_QPA_PLATFORM=offscreen;LC_ALL=C.UTF-8;LANG=C.UTF-8;XDG_CONFIG_HOME=${CMAKE_BINARY_DIR}/test-config")
if(QB_SANITIZE)
  list(APPEND QB_TEST_ENV
    "ASAN_OPTIONS=detect_leaks=1:intercept_tls_get_addr=0:detect_stack_use_after_return=1:check_initialization_order=1"
    "UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1")
endif()

# The locales a test program can run under once more, besides C.UTF-8. Qt
# reads the locale from LC_ALL/LANG, so none needs to be installed; the
# QB_EXPECT_ variables tell the test which locale its run is meant to have
# (verifyLocaleOfRun in tests/testsupport.h checks it).
#   comma    a decimal comma (German)
#   arabic   digits of its own and a separator GBK cannot hold (U+066B)
#   persian  digits of its own as well
set(QB_LOCALE_comma LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 QB_EXPECT_SEPARATOR=comma)
set(QB_LOCALE_arabic LC_ALL=ar_EG.UTF-8 LANG=ar_EG.UTF-8 QB_EXPECT_NATIVE_DIGITS=1)
set(QB_LOCALE_persian LC_ALL=fa_IR.UTF-8 LANG=fa_IR.UTF-8 QB_EXPECT_NATIVE_DIGITS=1)

# qb_add_test(NAME <name> SOURCES <files...> LIBS <targets...>
#             [ENV <VAR=value...>] [LOCALES <comma|arabic|persian...>]
#             [DEPENDS <targets...>])
#
# LOCALES: the program runs once more under each of these locales, as the
# CTest test <name>_<locale>. DEPENDS: targets built before the test, such as
# the language libraries it copies into a program folder of its own.
function(qb_add_test)
  cmake_parse_arguments(T "" "NAME" "SOURCES;LIBS;ENV;LOCALES;DEPENDS" ${ARGN})
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE Qt6::Test ${T_LIBS})
  set_target_properties(${T_NAME} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${QB_BIN_DIR}/tests)
  target_compile_definitions(${T_NAME} PRIVATE
    QB_TEST_DATA="${CMAKE_CURRENT_SOURCE_DIR}/data" QB_BIN_DIR="${QB_BIN_DIR}"
    QB_TEST_LANG_DIR="${QB_TEST_LANG_DIR}")
  if(T_DEPENDS)
    add_dependencies(${T_NAME} ${T_DEPENDS})
  endif()
  qb_register_test(${T_NAME} ${T_NAME} "${T_ENV}")
  foreach(locale IN LISTS T_LOCALES)
    if(NOT DEFINED QB_LOCALE_${locale})
      message(FATAL_ERROR "qb_add_test(${T_NAME}): no locale named ${locale}")
    endif()
    qb_register_test(${T_NAME}_${locale} ${T_NAME} "${T_ENV};${QB_LOCALE_${locale}}")
  endforeach()
endfunction()

# One CTest run of a test program under the common environment and `env`.
function(qb_register_test NAME TARGET env)
  add_test(NAME ${NAME} COMMAND ${TARGET} WORKING_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR})
  set_tests_properties(${NAME} PROPERTIES
    ENVIRONMENT "${QB_TEST_ENV};${env}"
    TIMEOUT 300)
endfunction()
