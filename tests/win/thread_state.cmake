# The framework's per-thread state behind the guard, with the framework's TLS slot inside the
# TEB and, in a program of its own, past the TEB's 64 slots.
zorv_add_test(thread_state_tests SOURCES app/thread_state_test.cpp LIBS zorv_afx)
zorv_add_test(thread_state_far_slot_tests SOURCES app/thread_state_test.cpp LIBS zorv_afx)
target_compile_definitions(thread_state_far_slot_tests PRIVATE ZORV_TEB_SLOTS_TAKEN)
