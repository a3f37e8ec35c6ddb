IO ; device commands, device parameters and format controls
 O DEV:(/APPEND:/BLOCKSIZE=512:/NEW):5 O "file":/blo=512 O DEV:::
 O DEV:(::/WAIT):5:("ns1","ns2") O DEV::10
 U DEV U DEV:(/ECHO:/TERMINATOR=$C(13)) U DEV::"ns" U 0
 R X R X#5:10 R *C R *C:5 R !,"Name: ",X:60 R ?10,X R /CLEAR
 W !!,?10,X,#,*7 W /CUP(1,2),"text",!
 W X_Y,$C(13,10) W:X "yes"
 ZW X,^G ZW
 C DEV C DEV:/DELETE
 L +^LOCK(1):5 E  W "busy"
 L -^LOCK(1)
 ZA ^X:5 ZA (^X,^Y) ZD ^X ZD
 Q
