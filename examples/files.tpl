Files waiting at @address on @date(dd mmm yyyy)
@foreach(@queue)

@just(@node, 18, L) @pflags  @files(NEF) file(s), @sizetostr(@mailsize(NEF)) bytes
@foreach(@filecount)
   @just(@filename, 16, L) @just(@sizetostr(@filesize), 9, R)  @filedatetime(dd.mm.yyyy hh:nn)
@nextfile
@end
@nextnode
@end
