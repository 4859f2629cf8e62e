# The application object and hidden frame: the real module loaded into threads of each COM
# model, and the same objects linked into a program that records the log texts itself.
zorv_add_test(app_module_tests
  SOURCES app/module_load_test.cpp app/com_thread.cpp
  LIBS ole32
  DEPENDS ZORVgame)
zorv_add_test(app_object_tests
  SOURCES app/xtra_app_test.cpp app/main_frame_test.cpp app/com_thread.cpp
  LIBS zorv_app zorv_afx ole32)
