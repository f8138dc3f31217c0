def main
sysop First
bogus
end
include "other.ctl"
include zeb.ctl
