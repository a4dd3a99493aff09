#include <cstdio>
int main() {
  std::puts("numora: the calculator window is not built yet; try build/numora-probe");
  return 0;
}
