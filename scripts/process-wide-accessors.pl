#!/usr/bin/env perl
# The functions that hand out process-wide state, derived from the mutable statics that
# scripts/process-wide-reads.sh lists (file:line:text on standard input): in each file holding
# such a static, the function whose body declares it or (for a namespace-scope variable) names
# it, and every function of that file that calls one of those. A member function, or a free one
# declared in the file's own header, is the library's: its calls are counted everywhere; any other
# is the file's own and its calls are counted in that file only.
#   --list                      one line per function: where counted, pattern, name, definition
#   --reads FILE... -- PATTERN...
#                               every line of the files that calls one of them or matches one of
#                               the extra patterns (the accessors the architecture's tables name),
#                               as file:line:text; a declaration or definition of the function is
#                               not a call, nor is a comment line
use strict;
use warnings;

my $mode = shift @ARGV // '--list';
my (@files, @extra);
if ($mode eq '--reads') {
  while (@ARGV && $ARGV[0] ne '--') { push @files, shift @ARGV; }
  shift @ARGV;
  @extra = @ARGV;
}

my %staticsOf;  # file -> [line, text]
while (my $line = <STDIN>) {
  chomp $line;
  my ($file, $number, $text) = $line =~ /^([^:]+):(\d+):(.*)$/ or next;
  push @{ $staticsOf{$file} }, [$number, $text];
}

my $keywords = qr/^(?:if|for|while|switch|return|sizeof|catch|defined|static_assert|alignof|decltype)$/;

# A file's function definitions: a header starting in column 0, up to the next closing brace
# in column 0. Returns [name, first line, last line].
sub definitions {
  my ($lines) = @_;
  my @found;
  my $open;
  for my $i (0 .. $#$lines) {
    my $text = $lines->[$i];
    if (!defined $open) {
      next if $text =~ /^(?:namespace|struct|class|enum|union|using|typedef|template|extern|#|\/\/|\}|\s|$)/;
      next unless $text =~ /^[^;=]*?((?:\w+::)*~?\w+)\s*\(/;
      my $name = $1;
      (my $last = $name) =~ s/.*:://;
      next if $last =~ $keywords;
      $open = [$name, $i + 1];
      if ($text =~ /\{.*\}\s*(?:\/\/.*)?$/) {  # a definition on one line
        push @found, [$name, $i + 1, $i + 1];
        undef $open;
        next;
      }
    }
    if (defined $open && $text =~ /^\}/) {
      push @found, [$open->[0], $open->[1], $i + 1];
      undef $open;
    } elsif (defined $open && $i + 1 == $open->[1] && $text =~ /;\s*(?:\/\/.*)?$/ && $text !~ /\{/) {
      undef $open;  # a declaration, not a definition
    }
  }
  return @found;
}

sub lastName { my ($name) = @_; $name =~ s/.*:://; return $name; }

my @derived;

for my $file (sort keys %staticsOf) {
  open my $in, '<', $file or next;
  my @lines = <$in>;
  close $in;
  chomp @lines;
  my @functions = definitions(\@lines);
  my %holder;
  for my $static (@{ $staticsOf{$file} }) {
    my ($number, $text) = @$static;
    if ($text =~ /^\S/) {
      # A namespace-scope variable: the functions whose bodies name it.
      my ($variable) = $text =~ /(\w+)\s*(?:\[\w*\])?\s*(?:=|\{|;)/ or next;
      for my $function (@functions) {
        my $body = join "\n", @lines[$function->[1] - 1 .. $function->[2] - 1];
        $holder{$function->[0]} = $function if $body =~ /\b\Q$variable\E\b/;
      }
    } else {
      for my $function (@functions) {
        $holder{$function->[0]} = $function if $function->[1] < $number && $number <= $function->[2];
      }
    }
  }
  next unless %holder;
  # One level of wrapping: the functions of the file that call a holder.
  my %handsOut = %holder;
  my $called = join '|', map { quotemeta lastName($_) } keys %holder;
  for my $function (@functions) {
    next if $handsOut{$function->[0]};
    my $body = join "\n", @lines[$function->[1] - 1 .. $function->[2] - 1];
    $body =~ s/^[^(]*\(// if $function->[1] == $function->[2];  # past the one-line header's name
    $handsOut{$function->[0]} = $function if $body =~ /(?<![\w.>])(?:$called)\s*\(/;
  }
  (my $header = $file) =~ s/\.cpp$/.h/;
  my $declarations = '';
  if ($header ne $file && open my $h, '<', $header) {
    local $/;
    $declarations = <$h>;
    close $h;
  }
  for my $name (sort keys %handsOut) {
    my $last = lastName($name);
    # Constructors, destructors and operators hand out nothing by name.
    next if $last =~ /^~/ || $last =~ /^(?:new|delete|operator)$/ || $name =~ /\b(\w+)::\1$/;
    # A member is declared with its class; a free function is the library's when its header
    # declares it.
    my $exported = $name =~ /(?:^|::)[A-Z]\w*::\w+$/ || $declarations =~ /\b\Q$last\E\s*\(/;
    my $pattern;
    if ($name =~ /^(?:\w+::)*([A-Z]\w*)::\w+$/) {
      $pattern = "\\b$1::$last\\s*\\(";
    } else {
      $pattern = "(?<![.>:\\w])(?:[a-z_]\\w*::)*$last\\s*\\(";
    }
    push @derived, [($exported ? 'everywhere' : $file), $pattern, $name, "$file:$handsOut{$name}[1]"];
  }
}

if ($mode eq '--list') {
  print join("\t", @$_), "\n" for @derived;
  exit 0;
}

# A match preceded on its line only by a type (and specifiers) declares or defines the function.
my $declared = qr/^\s*(?!(?:return|else|delete|throw|case|co_return|new|do)\b)(?:(?:static|virtual|inline|friend|explicit|constexpr|extern|const)\s+)*[\w:<>,\*&\s]*[\w>\*&]\s*[\s\*&]\s*$/;
my @everywhere = (@extra, map { $_->[1] } grep { $_->[0] eq 'everywhere' } @derived);
my $global = join '|', @everywhere;
my %local;
for my $entry (grep { $_->[0] ne 'everywhere' } @derived) { push @{ $local{$entry->[0]} }, $entry->[1]; }
# Only a line naming one of the functions is matched against the full patterns.
my %names;
for my $pattern (@everywhere, map { @$_ } values %local) {
  $names{$1} = 1 while $pattern =~ /(\w+)(?:\\s\*)?\\\(/g;
}
my $named = join '|', sort keys %names;
$named = qr/\b(?:$named)\s*\(/;
for my $file (@files) {
  open my $in, '<', $file or next;
  my @patterns = ($global);
  push @patterns, join('|', @{ $local{$file} }) if $local{$file};
  my $any = join '|', map { "(?:$_)" } @patterns;
  my $number = 0;
  while (my $text = <$in>) {
    ++$number;
    chomp $text;
    next if $text !~ $named || $text =~ /^\s*(?:\/\/|\*)/;
    my $reads = 0;
    while ($text =~ /$any/g) {
      my $before = substr($text, 0, $-[0]);
      if ($before !~ $declared) { $reads = 1; last; }
    }
    print "$file:$number:$text\n" if $reads;
  }
  close $in;
}
