# Sourced: bx_screenshot FILE [X Y W H] saves the X display (or that area of
# it) as a PNG, to be looked at.
bx_screenshot() {
  local file=$1
  if [[ $# -ge 5 ]]; then
    import -window root -crop "${4}x${5}+${2}+${3}" +repage "$file"
  else
    import -window root "$file"
  fi
}
