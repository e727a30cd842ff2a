# The office's schedules, what the editor writes, registry, due rules and polling engine, without
# widgets.
tarvel_add_test_program(autoquery_core
  SOURCES autoquery/core/azs_item_test.cpp
          autoquery/core/auto_azs_test.cpp
          autoquery/core/minute_bookkeeping_test.cpp
          autoquery/core/office_station_list_test.cpp
          autoquery/core/poll_due_test.cpp
          autoquery/core/polling_engine_test.cpp
          autoquery/core/time_text_test.cpp
          autoquery/core/schedule_edit_test.cpp
  LIBRARIES tarvel_autoquery_core)
