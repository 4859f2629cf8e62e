# The application object and hidden frame, linked into a program that records the log texts
# itself and started in threads of each COM model.
zorv_add_test(app_object_tests
  SOURCES app/xtra_app_test.cpp app/main_frame_test.cpp
  LIBS zorv_app zorv_afx ole32)
