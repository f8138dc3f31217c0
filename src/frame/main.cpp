#include <string>
#include <vector>

#include "frame/run.h"

int main(int argc, char** argv) {
  std::vector<std::string> params(argv + (argc > 0 ? 1 : 0), argv + argc);
  return zeb::RunZeb(std::move(params));
}
