# The office database against real database files made by the tests in a temporary folder.
tarvel_add_test_program(autoquery_database
  SOURCES
    autoquery/database/office_database_name_test.cpp
    autoquery/database/office_database_test.cpp
  LIBRARIES tarvel_autoquery_database tarvel_office_database_creation)
