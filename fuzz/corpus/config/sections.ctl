def log
  colour red
end
def Report
 sortby bogus
end
