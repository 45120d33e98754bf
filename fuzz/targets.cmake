# The data files and work files that have a fuzz target of their own.
set(KIV_FUZZ_DATA_FILES
    Train.kv4 StaName.kv4 DiaIdx1.kv4 DiaIdx2.kv4 Diagram2.kv4 Transfer.kv4 DistJR.kv4 DistPR.kv4
    DistIdx.kv4 StaFare.kv4 StaAttr.kv4 StaIdx.kv4 FAREIDX.KV4 FAREF.KV4 FARER.KV4 FAREW.KV4)
set(KIV_FUZZ_WORK_FILES route_lists fare_table reqtime_table timetable_source)
# The line list of the station selection dialog (kiv4line.dat).
set(KIV_FUZZ_LINE_LIST kiv4line_dat)
