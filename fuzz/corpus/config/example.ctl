; zeb configuration for the bundled example node, 2:5020/9999@fidonet, a
; binkd node that also has a point and an fsxnet address.
;
; Paths are relative to the directory of the zeb executable unless they
; begin with "/"; "make run" runs zeb from build/ with this file, so
; ../examples/ names this directory. %NAME% takes a path from the
; environment. A ";" or "#" outside quotes starts a comment.

def main
  sysop    Example Sysop
  address  2:5020/9999@fidonet
end

; Network domains and the zones that belong to them.
def domain
  fidonet 1 2 3 4 5 6
  fsxnet  21
end

; The node's own address in each further domain.
def mainaka
  21:4/999@fsxnet
end

; binkd's BinkleyTerm-style outbound: out/ holds the zone of the main
; address, out.001 ... the other zones, NNNNnnnn.pnt/ the points.
def outbound fidonet
  ../examples/outbound/out
end

def outbound fsxnet
  ../examples/outbound/fsxnet
end

; File boxes of binkd ("filebox" in binkd.conf): address, directory, flavour.
def bink/+ fidonet
  2:5020/9999.1   ../examples/outbound/boxes/point1   hold
end

def scanflags
  skipbusyflag       no
  emptypacketaspoll  yes
end

; Nodes that the reports leave out.
def skipaddress
  2:5020/9999.1@fidonet
end

; The log: zeb.log beside the executable, appended to, normal detail.
def log
  path        zeb.log
  level       normal
  dateformat  "DD/MM/YY"
  timeformat  "HH:NN:SS"
  rewritable  no
end

; One report of the whole queue, biggest waiting mail first, shown on the
; console. Point postto at a base to post it, for example
;   postto squish /var/spool/fido/msgbase/queue 30
;   postto pkt /var/spool/fido/outbound/out fido.queue secret
def report fidonet fsxnet
  template         ../examples/queue.tpl
  sortby           size address
  postto           file con
  from             Queue Robot 2:5020/9999
  to               "All"
  subject          "Outbound queue of 2:5020/9999"
  origin           "Zebrant example node"
  tearline         Zebrant
  showleftkludges  yes
end
