// A process that only starts and exits: the baseline of the self-test process benchmark.
int main() { return 0; }
