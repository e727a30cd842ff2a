# The office window against a real Firebird server on the loopback (Debian's package, unpacked
# into the build folder by the fixture on first use, see support/firebird_server.h): filled from
# it, and with the server stopped, killed and restarted, or replaced by a silent listener.
add_library(tarvel_firebird_server_fixture STATIC support/firebird_server.cpp)
target_include_directories(tarvel_firebird_server_fixture PUBLIC ${CMAKE_CURRENT_SOURCE_DIR})
target_compile_definitions(tarvel_firebird_server_fixture
  PRIVATE TARVEL_FIREBIRD_SERVER_FOLDER="${CMAKE_BINARY_DIR}/firebird-server")
target_link_libraries(tarvel_firebird_server_fixture
  PUBLIC tarvel_office_database_creation Qt6::Core)

tarvel_add_test_program(autoquery_office_server
  SOURCES autoquery/office_server/office_server_test.cpp
  LIBRARIES tarvel_autoquery_ui tarvel_firebird_server_fixture)

# The same server by hand, for the office demo (README: "The office database on a server").
add_executable(tarvel-office-server support/office_server_main.cpp)
target_link_libraries(tarvel-office-server PRIVATE tarvel_firebird_server_fixture)
