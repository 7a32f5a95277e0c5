// Wendrel's entry point. The windows are created here once the control layer exists.
#include <cstdio>

int main() {
  std::puts("Wendrel");
  return 0;
}
