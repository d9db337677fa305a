# The SQL Server stand-in as a CTest fixture: one stand-in for every test that
# names the fixture, started by the native standin-fixture program (the Windows
# tests run under Wine and cannot start the native program themselves).
#
# wrenfold_standin_fixture(NAME <fixture> ARGS <stand-in arguments...>)
#   adds the tests <fixture>_start (FIXTURES_SETUP) and <fixture>_stop
#   (FIXTURES_CLEANUP). While the fixture runs, the file
#   ${CMAKE_BINARY_DIR}/standin/<fixture>.port holds its ports (see
#   tools/sqlserver_standin/testing/port_file.h). Tests name the fixture with
#   wrenfold_add_test(... FIXTURE <fixture>) and get the file's path from
#   wrenfold_standin_port_file().
if(WIN32)
  set(WRENFOLD_STANDIN "" CACHE FILEPATH
      "The native sqlserver-standin program; its starter standin-fixture lies beside it")
  get_filename_component(WRENFOLD_STANDIN_BIN "${WRENFOLD_STANDIN}" DIRECTORY)
  set(WRENFOLD_STANDIN_STARTER ${WRENFOLD_STANDIN_BIN}/standin-fixture)
  if(NOT EXISTS "${WRENFOLD_STANDIN}" OR NOT EXISTS "${WRENFOLD_STANDIN_STARTER}")
    message(WARNING "The Windows tests need the native stand-in and its starter, not found at "
                    "'${WRENFOLD_STANDIN}' and '${WRENFOLD_STANDIN_STARTER}': build the native preset first "
                    "(cmake --preset native && cmake --build --preset native), or set WRENFOLD_STANDIN.")
  endif()
  set(WRENFOLD_STANDIN_LABEL windows)
else()
  set(WRENFOLD_STANDIN_STARTER $<TARGET_FILE:standin-fixture>)
  set(WRENFOLD_STANDIN_LABEL integration)
endif()

function(wrenfold_standin_port_file fixture out)
  set(${out} ${CMAKE_BINARY_DIR}/standin/${fixture}.port PARENT_SCOPE)
endfunction()

function(wrenfold_standin_fixture)
  cmake_parse_arguments(F "" "NAME" "ARGS" ${ARGN})
  wrenfold_standin_port_file(${F_NAME} portFile)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/standin)
  add_test(NAME ${F_NAME}_start COMMAND ${WRENFOLD_STANDIN_STARTER} start ${portFile} ${F_ARGS})
  add_test(NAME ${F_NAME}_stop COMMAND ${WRENFOLD_STANDIN_STARTER} stop ${portFile})
  set_tests_properties(${F_NAME}_start PROPERTIES FIXTURES_SETUP ${F_NAME} LABELS ${WRENFOLD_STANDIN_LABEL} TIMEOUT 30)
  set_tests_properties(${F_NAME}_stop PROPERTIES FIXTURES_CLEANUP ${F_NAME} LABELS ${WRENFOLD_STANDIN_LABEL} TIMEOUT 30)
endfunction()
