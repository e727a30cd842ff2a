# The office window against real office databases made by the tests, driven as real widgets.
tarvel_add_test_program(autoquery_office_window
  SOURCES
    autoquery/office_window/auto_zapros_office_form_test.cpp
  LIBRARIES tarvel_autoquery_ui tarvel_office_database_creation)
# The demo chain's office database, made by the demo installation's own tool.
add_dependencies(tarvel_autoquery_office_window_tests tarvel-demo-office-database)
