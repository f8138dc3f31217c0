; zeb configuration for the bundled example node, 2:5020/9999@fidonet, a
; binkd node that also has a point and an fsxnet address.
;
; Paths are relative to the directory of this file unless they begin
; with "/", and %NAME% takes a path from the environment: "make run"
; sets ZEB_EXAMPLES to this directory and ZEB_MSGBASE to build/msgbase/.
; On a real node write the paths themselves, such as /var/spool/ftn/outbound.
; A ";" or "#" outside quotes starts a comment.

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
  %ZEB_EXAMPLES%/outbound/out
end

def outbound fsxnet
  %ZEB_EXAMPLES%/outbound/fsxnet
end

; File boxes of binkd ("filebox" in binkd.conf): address, directory, flavour.
def bink/+ fidonet
  2:5020/9999.1   %ZEB_EXAMPLES%/outbound/boxes/point1   hold
end

; Instead of the main, domain, mainaka, outbound and bink/+ sections above,
; zeb can take the domains with their outbounds, the addresses, the sysop
; and the obox of every node from binkd's configuration. What this file
; sets before def binkd wins.
;def binkd
;  /etc/binkd/binkd.cfg
;end

def scanflags
  skipbusyflag       no
  emptypacketaspoll  yes
end

; Nodes that the reports leave out.
def skipaddress
  2:5020/9999.1@fidonet
end

; The log: zeb.log in ZEB_MSGBASE (usually /var/log/ftn/zeb.log), appended
; to, normal detail.
def log
  path        %ZEB_MSGBASE%/zeb.log
  level       normal
  dateformat  "DD/MM/YY"
  timeformat  "HH:NN:SS"
  rewritable  no
end

; The queue table of the whole queue, biggest waiting mail first, shown on
; the console.
def report fidonet fsxnet
  template         %ZEB_EXAMPLES%/queue.tpl
  sortby           size address
  postto           file con
end

; queue.utf8.tpl is the table with Russian and German headings, written in
; UTF-8; its report section declares that, so that @just and @center count
; characters and readers get the CHRS line "UTF-8 4":
;   template  %ZEB_EXAMPLES%/queue.utf8.tpl
;   charset   UTF-8 4

; The same table posted into a JAM echo area and into a Squish echo area, as
; a tosser such as hpt keeps them (the base path without its extension; a
; missing base is created, the Squish one keeping messages 30 days). The
; tosser's export scan sends them out to the links. Other destinations:
;   postto msg     /var/spool/ftn/echo/queue     (a *.MSG echo area)
;   postto netmail /var/spool/ftn/netmail        (a netmail *.MSG)
;   postto pkt     /var/spool/ftn/inbound/local QUEUE.REPORT secret
;                  (a packet for the tosser to import: its local inbound,
;                  never the mailer's outbound, where nobody sends it)
;   postto file    /var/www/html/queue.txt
def report fidonet fsxnet
  template         %ZEB_EXAMPLES%/queue.tpl
  sortby           size address
  postto           jam %ZEB_MSGBASE%/queue.jam
  from             Queue Robot 2:5020/9999
  to               "All"
  subject          "Outbound queue of 2:5020/9999"
  origin           "Zebrant example node"
  tearline         Zebrant
  showleftkludges  yes
end

def report fidonet fsxnet
  template         %ZEB_EXAMPLES%/queue.tpl
  sortby           size address
  postto           squish %ZEB_MSGBASE%/queue.sq 30
  from             Queue Robot 2:5020/9999
  to               "All"
  subject          "Outbound queue of 2:5020/9999"
  origin           "Zebrant example node"
  tearline         Zebrant
end
