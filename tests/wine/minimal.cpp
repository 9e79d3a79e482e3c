// The smallest program the toolchain makes: the yardstick for the tool's size.
int main() { return 0; }
