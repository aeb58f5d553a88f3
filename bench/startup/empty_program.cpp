// The yardstick of the start-up benchmark: a C++ program that does nothing,
// built and linked like kestrel-cli.
int main() { return 0; }
