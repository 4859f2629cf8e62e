# Platform-neutral parts of the application-framework stand-in.
zorv_add_test(afx_tests SOURCES afx/class_tree_test.cpp LIBS zorv_afx)
