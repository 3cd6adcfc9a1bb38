// Quillet's command line: drives the program headless through execute strings.
int main() { return 0; }
