# tarvel-schedule: the built command run on schedule files the tests make, against the polling
# engine and the chart it must agree with.
tarvel_add_test_program(schedule_tool
  SOURCES autoquery/tools/schedule_command_test.cpp
  LIBRARIES tarvel_schedule_tool)
target_compile_definitions(tarvel_schedule_tool_tests PRIVATE
  TARVEL_SCHEDULE_COMMAND="$<TARGET_FILE:tarvel-schedule>")
add_dependencies(tarvel_schedule_tool_tests tarvel-schedule)
