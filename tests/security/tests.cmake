# The connection password dialog. Paths are relative to tests/.
tarvel_add_test_program(security
  SOURCES security/security_form_test.cpp
  LIBRARIES tarvel_security_ui)
