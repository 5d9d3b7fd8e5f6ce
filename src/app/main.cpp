#include <cstdio>
int main() { std::puts("The Veldra window is not built yet."); return 0; }
