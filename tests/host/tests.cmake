# The reference host: its parts in one program, the built host run as a process, and an
# operator's script played by it. Paths are relative to tests/.
tarvel_add_test_program(host
  SOURCES
    host/host_callback_test.cpp
    host/host_options_test.cpp
    host/menu_item_test.cpp
    host/menu_path_test.cpp
    host/office_poll_test.cpp
    host/plugin_library_test.cpp
    host/unattended_script_test.cpp
    host/widget_reference_test.cpp
    host/window_capture_test.cpp
  LIBRARIES tarvel_host_ui tarvel_autoquery_core)

# The built reference host run as a process: its ends and its signals.
tarvel_add_test_program(host_process
  SOURCES host/host_process_test.cpp
  LIBRARIES tarvel_office_database_creation tarvel_firebird_server_fixture)
target_compile_definitions(tarvel_host_process_tests
  PRIVATE TARVEL_HOST_PROGRAM="$<TARGET_FILE:tarvel-host>")
add_dependencies(tarvel_host_process_tests tarvel-host tarvel tarvel_siblings)

# The built reference host plays an operator's script in the office's schedule editor and checks
# what the fields and rows show after each click and each typed time.
add_test(NAME HostScript.EditorTimesFollowTheOperatorsClicksAndTyping
  COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/host/office_editor_script_test.sh
          $<TARGET_FILE:tarvel-host> $<TARGET_FILE:tarvel-demo-office-database>)
set_tests_properties(HostScript.EditorTimesFollowTheOperatorsClicksAndTyping PROPERTIES
  TIMEOUT 120 COST 15)
