@cr(off)
@lf_to_cr(off)
@lf(on)
@define(@i, 0)
{
  "node": "@address",
  "time": "@date(yyyy-mm-dd)T@time(hh:nn:ss)",
  "links": @queue,
  "bytes": {"netmail": @mailsize(TN), "echomail": @mailsize(TE), "files": @mailsize(TF)},
  "counts": {"netmail": @files(TN), "echomail": @files(TE), "files": @files(TF)},
  "queue": [
@foreach(@queue)
@add(@i, 1)
    {"address": "@node", "flags": "@flags", "bytes": @mailsize(NEF), "netmail": @mailsize(N), "echomail": @mailsize(E), "files": @mailsize(F), "count": @files(NEF), "days": @old, "since": "@fromday"}@if(@i, <, @queue),@end

@nextnode
@end
  ]
}
