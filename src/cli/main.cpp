// prijscorrectum-cli: the command-line companion of PrijsCorrectum.
#include <cstdio>

int main(int argc, char** argv) {
  (void)argv;
  if (argc < 2) {
    std::fputs("usage: prijscorrectum-cli COMMAND ...\n", stderr);
    return 2;
  }
  std::fputs("prijscorrectum-cli: unknown command\n", stderr);
  return 2;
}
