# The SQL Server stand-in as a CTest fixture for the Windows tests, which run
# under Wine and cannot start the native program themselves.
#
# wrenfold_standin_fixture(NAME <fixture> ARGS <stand-in arguments...>)
#   adds the tests <fixture>_start (FIXTURES_SETUP) and <fixture>_stop
#   (FIXTURES_CLEANUP). While the fixture runs, the file
#   ${CMAKE_BINARY_DIR}/standin/<fixture>.port holds the TDS port on its first
#   line and, when ARGS hold --browser-port, the SQL Browser port on its second.
#   Tests name the fixture with wrenfold_add_test(... FIXTURE <fixture>) and get
#   the file's path from wrenfold_standin_port_file().
set(WRENFOLD_STANDIN "" CACHE FILEPATH
    "The native sqlserver-standin program that the Windows tests' fixtures start")

function(wrenfold_standin_port_file fixture out)
  set(${out} ${CMAKE_BINARY_DIR}/standin/${fixture}.port PARENT_SCOPE)
endfunction()

function(wrenfold_standin_fixture)
  cmake_parse_arguments(F "" "NAME" "ARGS" ${ARGN})
  wrenfold_standin_port_file(${F_NAME} portFile)
  set(script ${PROJECT_SOURCE_DIR}/scripts/standin-fixture)
  add_test(NAME ${F_NAME}_start COMMAND ${script} start ${portFile} "${WRENFOLD_STANDIN}" ${F_ARGS})
  add_test(NAME ${F_NAME}_stop COMMAND ${script} stop ${portFile})
  set_tests_properties(${F_NAME}_start PROPERTIES FIXTURES_SETUP ${F_NAME} LABELS windows TIMEOUT 30)
  set_tests_properties(${F_NAME}_stop PROPERTIES FIXTURES_CLEANUP ${F_NAME} LABELS windows TIMEOUT 30)
endfunction()
