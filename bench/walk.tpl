@about
Outbound queue: @queue nodes, @files(tnef) files of @mailsize(tnef) bytes
@about
 Flavour  Waiting      Days  Share   Node
@foreach(@queue)
 @pflags  @cdaytime(7,!)  @fdays(14,*)  @percent%  @node: netmail @mailsize(n), echomail @mailsize(e), files @mailsize(f) bytes since @fromday
@foreach(@filecount)
                @filedatetime(dd mmm yyyy hh:nn)  @filename, @filesize bytes
@nextfile
@end
@nextnode
@end
@about
