# The station's automatic sending: its due rule and what it is made of, the settings dialog and
# the timer's check. Paths are relative to tests/.
tarvel_add_test_program(autosend
  SOURCES
    autosend/auto_send_due_test.cpp
    autosend/auto_send_form_test.cpp
    autosend/check_auto_send_test.cpp
    autosend/send_interval_test.cpp
    autosend/send_question_test.cpp
    autosend/shift_number_test.cpp
  LIBRARIES tarvel_autosend_ui)
