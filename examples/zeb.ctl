; zeb configuration for the bundled example node.
; Paths are relative to the directory of the zeb executable unless they
; begin with "/"; "make run" runs zeb from the build directory with this file.

def main
  sysop    Example Sysop
  address  2:5020/9999@fidonet
end
