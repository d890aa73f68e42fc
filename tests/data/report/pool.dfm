<NATION 1 "Poolland" "Pool army">
<TROOPS PA__ "Pooled A" unit 512> 1 "" 3 0 0 3 10 -2 3
<LIMIT>PB__</LIMIT>
</TROOPS>
<TROOPS PB__ "Plain B" unit 512> 1 "" 3 0 0 3 10 0 0
</TROOPS>
</NATION>
<TRCAT 512 Inf "Infantry">
