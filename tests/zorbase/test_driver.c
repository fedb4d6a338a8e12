/* A minimal driver module for the loader tests. */
int ab12_init(void) { return 1; }
int ab12_close(void) { return 2; }
