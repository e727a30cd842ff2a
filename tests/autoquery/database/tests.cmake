# The office database against real database files made by the tests in a temporary folder.
tarvel_add_test_program(autoquery_database
  SOURCES
    autoquery/database/database_server_address_test.cpp
    autoquery/database/module_reference_test.cpp
    autoquery/database/office_database_name_test.cpp
    autoquery/database/office_database_test.cpp
  LIBRARIES tarvel_autoquery_database tarvel_office_database_creation)

# A module that leaves a call of the office database stuck when it is unloaded.
add_library(tarvel_stuck_reading_module MODULE autoquery/database/stuck_reading_module.cpp)
target_link_libraries(tarvel_stuck_reading_module PRIVATE tarvel_autoquery_database)
# Linked as the plug-in is, so that, like it, the module can really be unloaded: no symbol of the
# static libraries (and no unique symbol) leaves it to pin it in the process.
target_compile_options(tarvel_stuck_reading_module PRIVATE -fno-gnu-unique)
target_link_options(tarvel_stuck_reading_module PRIVATE -Wl,--exclude-libs,ALL)
add_dependencies(tarvel_autoquery_database_tests tarvel_stuck_reading_module)
