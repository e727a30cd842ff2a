# The office window against a real Firebird server on the loopback (Debian's package, unpacked
# into the build folder by the fixture on first use, see support/firebird_server.h): filled from
# it, and with the server stopped, killed and restarted, or replaced by a silent listener.
tarvel_add_test_program(autoquery_office_server
  SOURCES autoquery/office_server/office_server_test.cpp
  LIBRARIES tarvel_autoquery_ui tarvel_firebird_server_fixture)

