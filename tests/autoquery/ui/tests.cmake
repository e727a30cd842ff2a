# The office's windows, driven as real widgets under the offscreen platform.
tarvel_add_test_program(autoquery_ui
  SOURCES
    autoquery/ui/auto_item_sett_form_test.cpp
    autoquery/ui/azs_frame_test.cpp
    autoquery/ui/query_form_test.cpp
  LIBRARIES tarvel_autoquery_ui)
