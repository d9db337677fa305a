# GoogleTest from Debian's sources, built for whichever toolchain is in use.
set(WRENFOLD_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
add_subdirectory(${WRENFOLD_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL SYSTEM)
include(GoogleTest)

# wrenfold_add_test(NAME name LABEL unit|integration|windows SOURCES ... LIBS ... [FIXTURE fixture]
#                   [ENVIRONMENT VAR=value])
# Registers every test case of the program with CTest under its tier's label;
# with FIXTURE, each case needs that CTest fixture (e.g. a running stand-in);
# with ENVIRONMENT, each case runs with that variable set (under Wine it reaches
# the host's libraries too, e.g. the ODBC driver manager). One variable only:
# gtest_discover_tests does not pass a list inside a property value through.
function(wrenfold_add_test)
  cmake_parse_arguments(T "" "NAME;LABEL;TIMEOUT;FIXTURE;ENVIRONMENT" "SOURCES;LIBS" ${ARGN})
  if(T_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "wrenfold_add_test(${T_NAME}): unexpected arguments ${T_UNPARSED_ARGUMENTS}")
  endif()
  add_executable(${T_NAME} ${T_SOURCES})
  target_link_libraries(${T_NAME} PRIVATE ${T_LIBS} GTest::gtest GTest::gmock GTest::gtest_main)
  if(WIN32)
    # Everything built by the Windows toolchain runs under Wine: its own tier.
    set(T_LABEL windows)
  endif()
  if(NOT T_TIMEOUT)
    set(T_TIMEOUT 120)
  endif()
  if(T_FIXTURE)
    set(T_FIXTURE_PROPERTY FIXTURES_REQUIRED ${T_FIXTURE})
  endif()
  if(T_ENVIRONMENT)
    set(T_ENVIRONMENT_PROPERTY ENVIRONMENT ${T_ENVIRONMENT})
  endif()
  gtest_discover_tests(${T_NAME}
    DISCOVERY_MODE PRE_TEST
    DISCOVERY_TIMEOUT 300
    PROPERTIES LABELS ${T_LABEL} TIMEOUT ${T_TIMEOUT} ${T_FIXTURE_PROPERTY} ${T_ENVIRONMENT_PROPERTY})
endfunction()
