<NATION 1 "Testland" "Test army">
<INFO>Testland line one.
Line two.</INFO>
<TROOPS CAPT "Captain" char 8192> 1 "" 0 0 8 1 50 0 2
</TROOPS>
<TROOPS SPEA "Spears" unit 512> 3 "" 3 5 0 3 40 2 0
<SRULE>R001R002R003R004R005R006R007R008R009</SRULE>
</TROOPS>
<TROOPS SKRM "Raiders" unSk 128> 2 "1" 3 6 0 3 70 0 3
<SRULE>R003R003</SRULE>
</TROOPS>
<TROOPS BOWS "Bowmen" unit 512> 3 "1" 3 0 0 3 55 0 0
<UINFO>Bowmen shoot far.</UINFO>
<SRULE>R002</SRULE>
</TROOPS>
<TROOPS LORD "Lord" char 16384> 2 "" 0 0 9 1 100 0 1
</TROOPS>
<TROOPS SLNG "Slingers" unit 512> 1 "1" 3 0 0 3 30 0 0
</TROOPS>
<TROOPS emsk "Runners" spec 512> 3 "1" 3 0 0 3 40 0 0
<SRULE>R010</SRULE>
</TROOPS>
<TROOPS HORS "Warhorse" moun 2> 1 "" 0 4 0 1 20 0 1
<LIMIT>CAPT</LIMIT>
<SRULE>R011</SRULE>
</TROOPS>
<TROOPS nomo "No mount" moun 1> 0 "" 0 0 0 0 0 0 0
<LIMIT>CAPT</LIMIT>
</TROOPS>
</NATION>
<MITEM eagl "Legions eagle" 8> 10 -1
<INFO>The eagle.</INFO>
</MITEM>
<MITEM ring "Ring of Fire" 1> 15 -1
<INFO>A ring.</INFO>
</MITEM>
<MITEM nomi "No magic item" -1> 0 -1
</MITEM>
<MITEM amul "Amulet" 8> 5 -1
</MITEM>
<TRCAT 2 MM "Monstrous Mount">
<TRCAT 128 Cht "Chariot">
<TRCAT 512 Inf "Infantry">
<TRCAT 8192 Her "Hero">
<TRCAT 16384 Gen "General">
<ENGINE bara "Battering Ram" 10>
<INFO>A ram.</INFO>
</ENGINE>
<ENGINE noen "No siege engine" 0>
</ENGINE>
<SPECIAL R001 "Rule 1" 0><INFO>Rule one.</INFO></SPECIAL>
<SPECIAL R002 "Rule 2" 0><INFO>Rule two.</INFO></SPECIAL>
<SPECIAL R003 "Rule 3" 0><INFO>Rule three.</INFO></SPECIAL>
<SPECIAL R004 "Rule 4" 0><INFO>Rule four.</INFO></SPECIAL>
<SPECIAL R005 "Rule 5" 0><INFO>Rule five.</INFO></SPECIAL>
<SPECIAL R006 "Rule 6" 0><INFO>Rule six.</INFO></SPECIAL>
<SPECIAL R007 "Rule 7" 0><INFO>Rule seven.</INFO></SPECIAL>
<SPECIAL R008 "Rule 8" 0><INFO>Rule eight.</INFO></SPECIAL>
<SPECIAL R009 "Rule 9" 0><INFO>Rule nine.</INFO></SPECIAL>
<SPECIAL R010 "Rule 10" 0><INFO>Runners run.</INFO></SPECIAL>
<SPECIAL R011 "Rule 11" 0><INFO>Horses gallop.</INFO></SPECIAL>
