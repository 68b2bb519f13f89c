// kestrovanectl: the command-line companion of KestrovaneDriver.
#include <cstdio>
#include <cstring>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: kestrovanectl devices [--virtual-mouse[=DIR]]\n");
    return 2;
  }
  (void)argv;
  return 2;
}
