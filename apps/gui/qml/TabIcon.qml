import QtQuick

// A tab's icon, drawn in the tab's colour: "watch" (a case with lugs and hands), "stopwatch" (a
// round case with a crown and a button on top and one hand), "wrench" (an open-ended spanner lying
// corner to corner), "card" (a warranty card with a seal and lines of text) or "gear".
Canvas {
    id: icon
    property string name
    property color tint
    implicitWidth: 26
    implicitHeight: 26
    onTintChanged: requestPaint()
    onNameChanged: requestPaint()
    onPaint: {
        const g = getContext("2d")
        g.reset()
        g.strokeStyle = tint
        g.fillStyle = tint
        g.lineWidth = 2
        g.lineCap = "round"
        const c = width / 2
        if (name === "watch") {
            g.fillRect(c - 5, 1, 10, 5)
            g.fillRect(c - 5, height - 6, 10, 5)
            g.beginPath()
            g.arc(c, c, 8, 0, 2 * Math.PI)
            g.stroke()
            g.beginPath()
            g.moveTo(c, c)
            g.lineTo(c, c - 5)
            g.moveTo(c, c)
            g.lineTo(c + 4, c + 1)
            g.stroke()
        } else if (name === "stopwatch") {
            const cy = c + 2
            g.beginPath()
            g.arc(c, cy, 9, 0, 2 * Math.PI)
            g.stroke()
            // The crown on its stem, and the button beside it.
            g.fillRect(c - 3, 1, 6, 3)
            g.fillRect(c - 1, 3, 2, 4)
            g.save()
            g.translate(c, cy)
            g.rotate(Math.PI / 4)
            g.fillRect(-1.5, -13, 3, 3)
            g.restore()
            g.beginPath()
            g.moveTo(c, cy)
            g.lineTo(c + 3.5, cy - 5)
            g.stroke()
        } else if (name === "wrench") {
            g.lineWidth = 4
            g.beginPath()
            g.moveTo(5, height - 5)
            g.lineTo(c + 2, c - 2)
            g.stroke()
            // The head: a ring open towards the top right corner.
            const open = -Math.PI / 4
            g.lineWidth = 3
            g.beginPath()
            g.arc(c + 5, c - 5, 5.5, open + 0.8, open + 2 * Math.PI - 0.8)
            g.stroke()
        } else if (name === "card") {
            // The card, with two lines of text and a round seal in its lower right corner.
            g.beginPath()
            g.roundedRect(2, 5, width - 4, height - 10, 2.5, 2.5)
            g.stroke()
            g.beginPath()
            g.moveTo(6, 10)
            g.lineTo(c + 4, 10)
            g.moveTo(6, 14)
            g.lineTo(c, 14)
            g.stroke()
            g.beginPath()
            g.arc(width - 8, height - 10, 3, 0, 2 * Math.PI)
            g.fill()
        } else if (name === "gear") {
            g.beginPath()
            for (let tooth = 0; tooth < 8; ++tooth) {
                const a = tooth * Math.PI / 4
                g.moveTo(c + Math.cos(a) * 7, c + Math.sin(a) * 7)
                g.lineTo(c + Math.cos(a) * 11, c + Math.sin(a) * 11)
            }
            g.lineWidth = 4
            g.stroke()
            g.lineWidth = 2
            g.beginPath()
            g.arc(c, c, 7.5, 0, 2 * Math.PI)
            g.stroke()
            g.beginPath()
            g.arc(c, c, 3, 0, 2 * Math.PI)
            g.stroke()
        }
    }
}
