#include <cstdio>
int main() { std::puts("vantrel-view: nothing to draw yet"); return 0; }
