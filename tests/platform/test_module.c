/* A tiny shared library for the dynamic-library tests. */
int test_module_answer(void) { return 42; }
