set(GRAPHVIZ_EXTERNAL_LIBS FALSE)
set(GRAPHVIZ_GENERATE_PER_TARGET FALSE)
set(GRAPHVIZ_GENERATE_DEPENDERS FALSE)
set(GRAPHVIZ_IGNORE_TARGETS "^test_" "^tst_" "^fuzz_" "^vantor08-e2e" "testsupport" "e2e" "icon" "^bench_" "_uses_" "_includes_" "_include_" "make-demo" "vantor_demo")
