#!/usr/bin/perl -CSD
# Prepares the Japanese manual page for groff, which breaks lines only at
# blanks: a break point (\:) between two Japanese characters, none before a
# closing mark or after an opening one, and left-aligned lines, so that the
# text flows as Japanese does. Reads the page on stdin, writes it on stdout.
use strict;
use warnings;

my $adjusted = 0;
while (my $line = <STDIN>) {
    if ($line =~ /^\./) {
        print $line;
        if (!$adjusted && $line =~ /^\.TH/) {
            print ".ad l\n";
            $adjusted = 1;
        }
        next;
    }
    $line =~ s/([\p{Han}\p{Hiragana}\p{Katakana}ー、。）」])(?=[\p{Han}\p{Hiragana}\p{Katakana}（「])/$1\\:/g;
    print $line;
}
