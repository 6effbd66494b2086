<script>
var loadqueue = []; ///°°°
function onpageload(f) { loadqueue.push(f); } ///°°°
window.onload = function () { for (var i = 0; i < loadqueue.length; i++) { loadqueue[i](); } }; ///°°°
</script>
